// The window as the player sees it: the game on its virtual clock, drawn by
// the binding offscreen and clicked through Qt's own event delivery.
#include <QAbstractButton>
#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "app/wiring.h"
#include "desktop/binding/appearance.h"
#include "desktop/binding/binding.h"
#include "desktop/binding/metrics.h"
#include "form/form1.h"
#include "platform/clock.h"

using namespace platform::qt;
using platform::Control;
using tembira::Form1;

namespace {

int distance(QColor a, QColor b) {
    return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                     std::abs(a.blue() - b.blue())});
}

struct Game : ::testing::Test {
    platform::VirtualClock clock;
    Form1 form{clock};
    std::unique_ptr<Binding> binding;

    void SetUp() override {
        tembira::wire(form);
        binding = std::make_unique<Binding>(form);
        form.load();
        clock.advance(1); // the shuffle
        binding->window()->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(binding->window()));
    }

    QWidget* widgetOf(const Control& c) { return binding->widget(c); }

    QImage shot() { return binding->window()->grab().toImage(); }

    // The client rectangle of a control, in pixels.
    QRect rectOf(const Control& c) {
        QWidget* w = widgetOf(c);
        return QRect(w->mapTo(binding->window(), QPoint(0, 0)), w->size());
    }

    // A press and release of the left button where the player would click.
    void clickAt(QPoint p) {
        QTest::mouseClick(binding->window()->windowHandle(), Qt::LeftButton, {}, p);
    }
    void click(const Control& c) { clickAt(rectOf(c).center()); }

    void endOpening() {
        click(form.HAJIME);
        clock.advance(1);
    }
};

// The columns in which the tile's caption leaves ink on its marker.
std::pair<int, int> inkColumns(const QImage& image, const QRect& tile, QColor marker) {
    int first = -1, last = -1;
    for (int x = tile.left() + 1; x < tile.right(); ++x)
        for (int y = tile.top() + 1; y < tile.bottom(); ++y)
            if (distance(image.pixelColor(x, y), marker) > 80) {
                if (first < 0)
                    first = x - tile.left();
                last = x - tile.left();
                break;
            }
    return {first, last};
}

} // namespace

TEST_F(Game, StartWindowShowsTheOpeningOverTheBoard) {
    EXPECT_EQ(binding->window()->size(), QSize(282, 284));
    EXPECT_EQ(binding->window()->windowTitle(), QString::fromUtf8("１５パズル"));

    const QImage image = shot();
    const QPixmap opening(pictureResource("opening.bmp"));
    ASSERT_FALSE(opening.isNull());
    const QRect picture = rectOf(form.Opening);
    EXPECT_EQ(picture, QRect(2, 2, 273, 273));
    // The picture stretched over the frame, as it should look...
    QImage expected(picture.size(), QImage::Format_RGB32);
    QPainter painter(&expected);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(expected.rect(), opening);
    painter.end();
    // ...is what shows inside the frame, but for the START label; the
    // shuffled board behind it does not show anywhere.
    const QRect inside(10, 10, 261, 261);
    const QRect label = rectOf(form.HAJIME);
    int differing = 0, compared = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (label.contains(x, y))
                continue;
            ++compared;
            differing += distance(image.pixelColor(x, y),
                                  expected.pixelColor(x - picture.x(), y - picture.y())) > 8;
        }
    EXPECT_LT(differing, compared / 200) << differing << " of " << compared;
}

// On an ordinary screen the pictures and the icon are the bitmaps exactly:
// sharper drawings for dense screens are not even asked for.
TEST_F(Game, AtRatioOneThePicturesAreTheBitmapsExactly) {
    ASSERT_EQ(binding->window()->devicePixelRatio(), 1);
    int asked = 0;
    binding->setSharperPictures([&](const std::string&, QSize pixels) {
        ++asked;
        QImage red(pixels, QImage::Format_RGB32);
        red.fill(Qt::red);
        return red;
    });
    for (const Control* c : {&form.Opening, &form.GOHOUBI1, &form.GOHOUBI2, &form.GOHOUBI3}) {
        QWidget* w = widgetOf(*c);
        QImage expected(w->size(), QImage::Format_RGB32);
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(expected.rect(), QPixmap(pictureResource(c->picture())));
        painter.end();
        EXPECT_EQ(w->grab().toImage().convertToFormat(QImage::Format_RGB32), expected) << c->name();
    }
    EXPECT_EQ(binding->window()->windowIcon().availableSizes(),
              QIcon(pictureResource("icon.ico")).availableSizes());
    EXPECT_EQ(asked, 0);
}

TEST_F(Game, StartLabelIsABlackBoxInsideTheFrame) {
    EXPECT_EQ(rectOf(form.HAJIME), QRect(QPoint(90, 194), QPoint(186, 218)));
    const QImage image = shot();
    for (QPoint corner : {QPoint(90, 194), QPoint(186, 194), QPoint(90, 218), QPoint(186, 218)})
        EXPECT_EQ(image.pixelColor(corner), QColor(0, 0, 0)) << corner.x() << "," << corner.y();
    int green = 0;
    for (int x = 90; x <= 186; ++x)
        for (int y = 194; y <= 218; ++y)
            green += distance(image.pixelColor(x, y), QColor(128, 255, 128)) < 40;
    EXPECT_GT(green, 50) << "the caption in its light green";
}

TEST_F(Game, AfterTheOpeningTheMarkersShowThroughTheTiles) {
    endOpening();
    EXPECT_EQ(binding->window()->size(), QSize(282, 312));
    EXPECT_FALSE(widgetOf(form.GOHOUBI)->isVisible());
    EXPECT_TRUE(widgetOf(form.START)->isVisible());

    const QImage image = shot();
    // The empty cell in its own colour, the board inside the 2-pixel frame.
    EXPECT_EQ(rectOf(form.ADDRESS[16]), QRect(202, 202, 65, 65));
    EXPECT_EQ(image.pixelColor(rectOf(form.ADDRESS[16]).center()), QColor(128, 255, 128));
    // Along the top of every cell, above the caption, its marker's colour.
    const QPalette palette = QApplication::palette();
    for (int k = 1; k <= 16; ++k) {
        QRect cell = rectOf(form.ADDRESS[k]);
        EXPECT_EQ(image.pixelColor(cell.center().x(), cell.top() + 2),
                  colour(form.ADDRESS[k].backColor(), palette))
            << "cell " << k;
    }
}

TEST_F(Game, ElevenStandsAtTheLeftOfItsTileAndTwelveInTheMiddle) {
    endOpening();
    const QPalette palette = QApplication::palette();
    auto margins = [&](int n) {
        const QImage image = shot();
        const QRect tile = rectOf(form.PANEL[n]);
        const int cell = tembira::cellAt(form.PANEL[n].left(), form.PANEL[n].top());
        auto [first, last] =
            inkColumns(image, tile, colour(form.ADDRESS[cell].backColor(), palette));
        EXPECT_GE(first, 0) << "tile " << n << " shows its number";
        return std::pair{first, tile.width() - 1 - last};
    };
    // Both numbers are wider than their tiles and clipped, so both reach
    // close to the left edge...
    EXPECT_LE(margins(11).first, 8);
    EXPECT_LE(margins(12).first, 8);
    // ...and a narrower caption shows the difference.
    form.PANEL[11].setCaption("1");
    form.PANEL[12].setCaption("1");
    auto [left11, right11] = margins(11);
    EXPECT_LT(left11 + 16, right11);
    auto [left12, right12] = margins(12);
    EXPECT_LE(std::abs(left12 - right12), 3);
}

TEST_F(Game, DisabledControlsRaiseNoClick) {
    endOpening();
    int clicks = 0;
    Control& tile = form.PANEL[5];
    auto handler = tile.onClick;
    tile.onClick = [&] {
        ++clicks;
        handler();
    };
    ASSERT_FALSE(tile.enabled());
    click(tile);
    EXPECT_EQ(clicks, 0);

    click(form.START);
    ASSERT_TRUE(tile.enabled());
    click(tile);
    EXPECT_EQ(clicks, 1);
}

TEST_F(Game, PropertyChangesReachTheWidgets) {
    endOpening();
    form.setHeight(tembira::optionsHeight);
    EXPECT_EQ(binding->window()->height(), (tembira::optionsHeight - 450) / 15);
    EXPECT_EQ(binding->window()->width(), 282);

    form.PANEL[3].setLeft(form.PANEL[3].left() + 320);
    form.PANEL[3].setTop(form.PANEL[3].top() - 160.5f);
    EXPECT_EQ(widgetOf(form.PANEL[3])->geometry(),
              pixelRect(form.PANEL[3].left(), form.PANEL[3].top(), 975, 975));

    form.TIME1.setVisible(true);
    form.TIME1.setText("12:34:56");
    EXPECT_TRUE(widgetOf(form.TIME1)->isVisible());
    EXPECT_EQ(static_cast<QLineEdit*>(widgetOf(form.TIME1))->text(), "12:34:56");

    form.MESSEGE.setCaption("まだです");
    EXPECT_EQ(static_cast<LabelWidget*>(widgetOf(form.MESSEGE))->text(),
              QString::fromUtf8("まだです"));

    form.START.setVisible(true);
    form.START.setEnabled(true);
    EXPECT_TRUE(widgetOf(form.START)->isEnabled());
    form.START.setCaption("GO");
    EXPECT_EQ(static_cast<QAbstractButton*>(widgetOf(form.START))->text(), "GO");

    form.ADDRESS[16].setBackColor(platform::rgb(10, 20, 30));
    EXPECT_EQ(shot().pixelColor(rectOf(form.ADDRESS[16]).center()), QColor(10, 20, 30));
}

TEST_F(Game, OptionButtonsMirrorTheirValues) {
    endOpening();
    click(form.OPTION1);
    ASSERT_TRUE(widgetOf(form.SPEED)->isVisible());
    auto checked = [&](const Control& c) {
        return static_cast<QRadioButton*>(widgetOf(c))->isChecked();
    };
    EXPECT_TRUE(checked(form.SPEEDn[2]));

    click(form.SPEEDn[1]);
    EXPECT_EQ(form.board.STEP, 640);
    for (int s = 1; s <= 3; ++s) {
        EXPECT_EQ(form.SPEEDn[s].value(), s == 1);
        EXPECT_EQ(checked(form.SPEEDn[s]), s == 1);
    }
    // The other group is a group of its own.
    EXPECT_TRUE(checked(form.TAITOLn[1]));

    // The game may clear every button of a group.
    form.SPEEDn[1].setValue(false);
    EXPECT_FALSE(checked(form.SPEEDn[1]));
    form.SPEEDn[3].setValue(true);
    EXPECT_TRUE(checked(form.SPEEDn[3]));
}

TEST_F(Game, FocusMovesInTabIndexOrder) {
    endOpening();
    click(form.OPTION1);
    std::vector<const Control*> focusable;
    for (Control* c : form.controls())
        if (widgetOf(*c)->focusPolicy() & Qt::TabFocus)
            focusable.push_back(c);
    std::sort(focusable.begin(), focusable.end(),
              [](const Control* a, const Control* b) { return a->tabIndex() < b->tabIndex(); });
    ASSERT_GE(focusable.size(), 10u);
    for (const Control* c : focusable)
        EXPECT_TRUE(c->kind() != platform::Kind::Label && c->kind() != platform::Kind::Image &&
                    c != &form.TAITOL)
            << c->name();
    // Each focusable widget's successor in the chain, skipping the window's
    // own helpers, is the one with the next TabIndex.
    for (std::size_t i = 0; i + 1 < focusable.size(); ++i) {
        QWidget* next = widgetOf(*focusable[i])->nextInFocusChain();
        while (next && !(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        EXPECT_EQ(next, widgetOf(*focusable[i + 1]))
            << focusable[i]->name() << " -> " << focusable[i + 1]->name();
    }
}

TEST_F(Game, ClosingTheWindowIsReported) {
    bool closed = false;
    binding->onClose = [&] { closed = true; };
    binding->window()->close();
    EXPECT_TRUE(closed);
}

TEST_F(Game, NoClickReachesTheGameOnceItIsEnding) {
    bool ending = true;
    binding->accepting = [&](const Control&) { return !ending; };
    click(form.HAJIME);
    EXPECT_TRUE(form.HAJIME.visible());
    ending = false;
    click(form.HAJIME);
    EXPECT_FALSE(form.HAJIME.visible());
}

TEST_F(Game, TheNoteOnAGameStaysOnTheScreenAndOffTheWindow) {
    QWidget* top = binding->window();
    const QRect screen = top->screen()->availableGeometry();
    auto noteAt = [&](QPoint window) {
        top->move(window);
        binding->noteBeside("64 手（最短 62 手）　3分05秒", 10000);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != top && w->isVisible() && qobject_cast<QLabel*>(w))
                return w->frameGeometry();
        return QRect();
    };
    const QRect free = noteAt(screen.topLeft());
    EXPECT_EQ(free.left(), top->frameGeometry().right() + 8);
    EXPECT_EQ(free.top(), top->frameGeometry().top());
    // At the right edge it goes below; in the bottom right corner, above.
    const QSize size = top->frameGeometry().size();
    const int right = screen.right() + 1 - size.width();
    for (const int y : {screen.top(), screen.bottom() + 1 - size.height()}) {
        const QRect note = noteAt(QPoint(right, y));
        EXPECT_TRUE(screen.contains(note)) << note.x() << "," << note.y();
        EXPECT_FALSE(note.intersects(top->frameGeometry())) << note.x() << "," << note.y();
    }
}
