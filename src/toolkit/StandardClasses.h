// Makes the toolkit's own component classes known to the layout loader.
#pragma once

namespace toolkit {
void RegisterStandardClasses();
}
