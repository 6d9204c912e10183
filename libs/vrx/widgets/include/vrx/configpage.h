#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

namespace vrx {

/// One page of a ConfigDialog. A page loads its values in its constructor, calls
/// setupConnects() last, and writes its values back in apply().
///
/// setupConnects() watches every editor on the page (check and radio buttons, line and text
/// edits, spin boxes, combo boxes, sliders, key-sequence edits, colour pickers): from then on
/// any change marks the page modified. Values loaded before the call do not.
class ConfigPage : public QWidget
{
    Q_OBJECT

public:
    explicit ConfigPage(QWidget* parent = nullptr);
    ~ConfigPage() override;

    /// Writes the page's values to where they are kept. Called by the dialog on OK and Apply.
    virtual void apply() = 0;

    /// Whether an editor changed since setupConnects() or since the last markApplied().
    bool isModified() const { return m_modified; }
    /// Clears the modified state; the dialog calls it after apply().
    void markApplied();

signals:
    /// The page went from unmodified to modified.
    void modified();

protected:
    /// Starts watching the page's editors. Call it once, after the stored values are shown.
    void setupConnects();
    /// Marks the page changed, for edits the page's editors do not show by themselves.
    void setModified();
    /// Keeps `editor` and its children out of setupConnects(), for editors that only choose
    /// what is shown (a selector of which item the rest of the page edits).
    void excludeFromModification(QWidget* editor);

private:
    bool isExcluded(const QWidget* widget) const;
    void watch(QWidget* editor);

    bool m_modified = false;
    bool m_connected = false;
    QList<QPointer<QWidget>> m_excluded;
};

} // namespace vrx
