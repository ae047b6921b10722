#pragma once

namespace tremolux {

// Registers the program's icons and images; they live in a static library,
// whose resources the linker would otherwise drop.
void InitResources();

}  // namespace tremolux
