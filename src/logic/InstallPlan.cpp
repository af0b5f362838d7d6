#include "InstallPlan.h"

#include "Platform.h"

std::string ScriptPathArgument(const std::string& path) {
    std::string argument = "\"";
    for (char c : path) {
        argument += c;
        if (c == '%') argument += '%';
    }
    return argument + "\"";
}

InstallPlan ComposeInstallPlan(const std::string& longFolder, const ProductSettings& settings) {
    InstallPlan plan;
    plan.LongFolder = longFolder;
    plan.ShortFolder = platform::ShortPath(longFolder);

    // The plug-in reads the path files as plain paths: no quoting there.
    const std::string longProduct = longFolder + "\\" + settings.SubFolder;
    plan.AudioPathText = longProduct + "\\Audio\\" + settings.AudioFileName;
    plan.BitmapPathText = longProduct + "\\" + settings.BitmapFileName;

    // The script's paths are quoted: real folder names hold spaces, & and %.
    const std::string& shortFolder = plan.ShortFolder;
    const std::string product = ScriptPathArgument(shortFolder + "\\" + settings.SubFolder);
    const std::string productAudio = ScriptPathArgument(shortFolder + "\\" + settings.SubFolder + "\\Audio");
    plan.ScriptLines = {
        "MD " + product,
        "MD " + productAudio,
        "COPY " + ScriptPathArgument(shortFolder + "\\ini.8da") + " " + product,
        "COPY " + ScriptPathArgument(shortFolder + "\\ini.8db") + " " + product,
        "COPY *.* " + product,
        "CD Audio",
        "COPY *.wav " + productAudio,
    };
    return plan;
}
