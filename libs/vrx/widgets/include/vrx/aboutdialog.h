#pragma once

#include <QDialog>

class QLabel;

namespace vrx {

/// The program's about box: icon, name, version, build, a legal notice and an optional text.
///
/// Give everything to the constructor, then run it with exec():
///
///     vrx::AboutDialog(this, "Quarnel Link", "1.3.5.1033", "Dec  6 2026 13:00:51",
///                      ":/oem/logo.ico", tr("Copyright ..."), QString()).exec();
///
/// The version and build lines read "Version <version>" and "Build <build>"; a line whose
/// value is empty is left out, as is the extra text when it is empty. The extra text may be
/// rich text, and its links open in the desktop's browser. An icon that cannot be loaded is
/// left out with a debug line.
class AboutDialog final : public QDialog
{
    Q_OBJECT

public:
    AboutDialog(QWidget* parent, const QString& name, const QString& version, const QString& build,
                const QString& iconPath, const QString& notice, const QString& text);
    ~AboutDialog() override;

private:
    QLabel* makeLabel(const QString& objectName, const QString& text);
    QLabel* makeWrappedLabel(const QString& objectName, const QString& text);
};

} // namespace vrx
