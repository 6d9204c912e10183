#include "waitcursor.h"

#include <QApplication>

void WaitCursor::set()
{
    if (!m_set) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_set = true;
    }
}

void WaitCursor::restore()
{
    if (m_set) {
        QApplication::restoreOverrideCursor();
        m_set = false;
    }
}
