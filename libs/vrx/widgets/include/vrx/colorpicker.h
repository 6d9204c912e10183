#pragma once

#include <QColor>
#include <QList>
#include <QPushButton>

#include <functional>

class QMenu;

namespace vrx {

/// A push button that shows a colour swatch (beside its text, if it has one) and lets the user
/// choose another colour.
///
/// A click opens the colour dialog. After setStandardColors() a click opens a small palette of
/// those colours instead, with "More Colors..." leading to the dialog.
///
/// The picker adopts a colour the user picks by itself: it shows the new colour, currentColor()
/// returns it, and then colorChanged() is emitted. Cancelling, or picking the colour already
/// shown, emits nothing. setCurrentColor() never emits, so connecting colorChanged() back to
/// setCurrentColor() is harmless.
class ColorPicker final : public QPushButton
{
    Q_OBJECT

public:
    /// Asks the user for a colour, starting at `initial`; returns an invalid colour when the
    /// user cancels.
    using ColorDialog = std::function<QColor(const QColor& initial, QWidget* parent, const QString& title)>;

    explicit ColorPicker(QWidget* parent = nullptr);
    ~ColorPicker() override;

    /// The colour shown; invalid until one is set or picked.
    QColor currentColor() const { return m_color; }

    /// Sixteen common colours, from black and white through the primaries to their dark shades.
    static QList<QColor> defaultStandardColors();
    /// Offers these colours in a palette before the dialog. Invalid colours are skipped; an
    /// empty list makes a click open the dialog directly again.
    void setStandardColors(const QList<QColor>& colors = defaultStandardColors());
    QList<QColor> standardColors() const { return m_standardColors; }

    /// Replaces the colour dialog of every picker, for tests; an empty function restores
    /// the standard dialog.
    static void setColorDialog(ColorDialog dialog);

public slots:
    /// Shows `color` without emitting colorChanged(). An invalid colour shows an empty swatch.
    void setCurrentColor(const QColor& color);

signals:
    /// The user picked `color`, which the picker already shows.
    void colorChanged(const QColor& color);

protected:
    void changeEvent(QEvent* event) override;

private:
    void onClicked();
    void openDialog();
    void pick(const QColor& color);
    void updateSwatch();
    void buildPalette();

    QColor m_color;
    QList<QColor> m_standardColors;
    QMenu* m_palette = nullptr;
};

} // namespace vrx
