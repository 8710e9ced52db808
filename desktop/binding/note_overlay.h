// A note drawn over the window for a moment, around a control and beside it:
// the hint's mark. Only drawn: no control of the game changes.
#pragma once

#include <QTimer>
#include <QWidget>

namespace platform::qt {

class NoteOverlay final : public QWidget {
  public:
    explicit NoteOverlay(QWidget* window);

    // Outlines `target` (in the window) and writes `note` beside it, for ms
    // milliseconds.
    void showNote(const QRect& target, const QString& note, int ms);

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    QRect noteBox() const;
    QRect target_;
    QString note_;
    QTimer hide_;
};

} // namespace platform::qt
