#pragma once

#include "camerainfo.h"

#include <string>
#include <vector>

namespace tesk {

/// One rule of the USB filter. `id` 0 with an empty `text` accepts every camera. Otherwise a
/// non-zero `id` must equal the camera's USB vendor id, and a non-empty `text` must occur in
/// the camera's name.
struct UVCFilterItem
{
    int id = 0;
    std::string text;
};

/// Which USB cameras deviceList() shows: those accepted by at least one item. An empty
/// filter accepts every camera.
class UVCFilter
{
public:
    /// The process-wide filter, created before main() runs.
    static UVCFilter& global();

    void clear();
    void addItem(const UVCFilterItem& item);
    const std::vector<UVCFilterItem>& items() const { return m_items; }
    bool accepts(const CameraInfo& info) const;

private:
    std::vector<UVCFilterItem> m_items;
};

} // namespace tesk
