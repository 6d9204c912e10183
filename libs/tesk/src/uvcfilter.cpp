#include <tesk/uvcfilter.h>

namespace tesk {

UVCFilter& UVCFilter::global()
{
    static UVCFilter filter;
    return filter;
}

namespace {
// Created with the library, before main(), as the start-up code expects.
[[maybe_unused]] const UVCFilter& g_createdEarly = UVCFilter::global();
} // namespace

void UVCFilter::clear()
{
    m_items.clear();
}

void UVCFilter::addItem(const UVCFilterItem& item)
{
    m_items.push_back(item);
}

bool UVCFilter::accepts(const CameraInfo& info) const
{
    if (m_items.empty()) {
        return true;
    }
    for (const UVCFilterItem& item : m_items) {
        const bool idMatches = item.id == 0 || item.id == info.vendorId;
        const bool textMatches = item.text.empty() || info.name.find(item.text) != std::string::npos;
        if (idMatches && textMatches) {
            return true;
        }
    }
    return false;
}

} // namespace tesk
