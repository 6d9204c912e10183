#pragma once

#include <QString>

namespace testsupport {

/// What ImageMagick makes of a file: "<width>x<height> <format>", empty when it cannot read it.
QString identify(const QString& path);

} // namespace testsupport
