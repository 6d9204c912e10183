#pragma once

#include <QDialog>

class QDialogButtonBox;
class QListWidget;
class QStackedWidget;

namespace vrx {

class ConfigPage;

/// A preferences dialog: a list of pages (icon and title) at the left, the chosen page at the
/// right, and OK, Apply and Cancel below.
///
/// OK and Apply apply every page, then emit applied(); OK also closes the dialog. A page that
/// was not edited writes back the values it loaded, so applying without changes changes
/// nothing. Apply is enabled while a page has changes not yet applied. Cancel (and Esc, and
/// closing the window) writes nothing and emits nothing.
///
/// The number given to the constructor is the index of the page to show first; it is selected
/// when the page with that index is added. A number with no page leaves the first page shown.
class ConfigDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ConfigDialog(int index = 0, QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~ConfigDialog() override;

    /// Appends a page; the dialog takes it over. `iconName` is looked up in the icon theme.
    void addPage(const QString& title, const QString& iconName, ConfigPage* page);

    int count() const;
    ConfigPage* page(int index) const;
    int currentIndex() const;
    void setCurrentIndex(int index);
    /// Whether a page has changes not yet applied.
    bool isModified() const;

public slots:
    /// Applies every page, then emits applied().
    void apply();
    /// Applies, then closes with Accepted.
    void accept() override;

signals:
    /// Emitted after every page has been applied.
    void applied();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void updateApplyButton();

    int m_requestedIndex;
    QListWidget* m_pageList;
    QStackedWidget* m_pageStack;
    QDialogButtonBox* m_buttons;
};

} // namespace vrx
