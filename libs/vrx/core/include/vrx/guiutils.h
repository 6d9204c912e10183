#pragma once

namespace vrx {

/// Small process-wide GUI switches.
class GUIUtils final
{
public:
    /// Call once, before the application object exists: scales the interface on high-DPI screens.
    static void enableHighDpi();
};

} // namespace vrx
