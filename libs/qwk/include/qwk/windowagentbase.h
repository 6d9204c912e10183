#pragma once

#include <QObject>

namespace QWK {

/// What every window agent shares: the names of the caption's system buttons.
class WindowAgentBase : public QObject
{
    Q_OBJECT

public:
    enum SystemButton
    {
        Unknown,
        WindowIcon,
        Help,
        Minimize,
        Maximize,
        Close,
    };
    Q_ENUM(SystemButton)

    using QObject::QObject;
};

} // namespace QWK
