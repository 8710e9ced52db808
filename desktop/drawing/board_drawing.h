// The solved board as the player sees it once the game has started, drawn by
// the game's own window through the Qt binding: the source of the opening
// picture and the icon, both as the committed bitmaps (tembira-render) and at
// a dense screen's resolution (the program).
#pragma once

#include <QImage>
#include <QPaintDevice>
#include <QSize>
#include <QSizeF>
#include <memory>

class QPainter;

namespace tembira::desktop {

// A window of the game's own, never shown, holding the solved board.
class SolvedBoard {
  public:
    SolvedBoard();
    ~SolvedBoard();
    // The board's inside in logical pixels.
    QSize size() const;
    // Draws the board's inside onto target, at target's device pixel ratio.
    void paint(QPaintDevice& target) const;

  private:
    struct Window;
    std::unique_ptr<Window> window_;
};

// The board's inside, detail times finer than the screen, on white.
QImage drawBoard(int detail);

// "１５パズル" across the middle of a board drawing of size: orange,
// thickened, with a dark outline.
void paintTitle(QPainter& painter, QSizeF size);
void writeTitle(QImage& board);

// A drawing smoothly scaled to size, without alpha.
QImage shrink(const QImage& image, QSize size);

// The opening picture and the icon at size in device pixels, from a drawing
// at least twice as fine, as the bitmaps were made.
QImage drawOpening(QSize size);
QImage drawIcon(QSize size);

} // namespace tembira::desktop
