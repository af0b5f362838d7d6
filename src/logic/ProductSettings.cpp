#include "ProductSettings.h"

#include "SettingsText.h"

ProductSettings ExtractProductSettings(std::string_view settingsText) {
    return {LineAt(settingsText, 1), LineAt(settingsText, 3), LineAt(settingsText, 5), LineAt(settingsText, 7)};
}

std::string InstallerCaption(const ProductSettings& settings) { return settings.ProductName + " Install"; }
