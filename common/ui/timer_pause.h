#pragma once
// The editors' painting timer sets a tick flag that painting with the mouse needs.
// Around a menu or a modal dialog the timer is stopped and the flag cleared, and the
// timer starts again afterwards, so that the click which closes the menu or dialog
// never paints.

#include <QMenu>
#include <QTimer>

namespace tms {

// Pauses the timer for the life of the object.
class TimerPause {
public:
    TimerPause(QTimer& timer, bool& tick) : m_timer(timer)
    {
        m_timer.stop();
        tick = false;
    }
    ~TimerPause() { m_timer.start(); }
    TimerPause(const TimerPause&) = delete;
    TimerPause& operator=(const TimerPause&) = delete;

private:
    QTimer& m_timer;
};

// Runs work with the timer paused.
template <typename Work>
void withTimerPaused(QTimer& timer, bool& tick, Work&& work)
{
    const TimerPause pause(timer, tick);
    work();
}

// Keeps the timer stopped and tick clear from the moment menu opens until it closes,
// so that the click which closes it, on an item or beside it, never paints.
inline void pauseWhileOpen(QMenu* menu, QTimer& timer, bool& tick)
{
    QObject::connect(menu, &QMenu::aboutToShow, &timer, [&timer, &tick] {
        timer.stop();
        tick = false;
    });
    QObject::connect(menu, &QMenu::aboutToHide, &timer, [&timer] { timer.start(); });
}

} // namespace tms
