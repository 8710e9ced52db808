// The records window as the player opens it, offscreen.
#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "desktop/records_window/records_window.h"
#include "form/form1.h"
#include "platform/clock.h"

namespace {

// Every column shows whole, with no scroll bar and no empty strip beside
// the last.
TEST(RecordsWindow, TheTableFitsItsColumns) {
    platform::VirtualClock clock;
    tembira::Form1 form{clock};
    records::Records records;
    records.entries[0] = {12, 3, 28, 4, 3'723'000};
    records.entries[5] = {1, 0, 61, 0, 59'000};

    bool looked = false;
    QTimer::singleShot(0, [&] {
        QWidget* window = QApplication::activeModalWidget();
        ASSERT_NE(window, nullptr); // the timer fires within the window's own loop
        const bool exposed = QTest::qWaitForWindowExposed(window);
        window->close(); // takes effect once this returns, so no check below can hang the test
        ASSERT_TRUE(exposed);
        auto* table = window->findChild<QTableWidget*>();
        ASSERT_NE(table, nullptr);
        looked = true;
        EXPECT_FALSE(table->horizontalScrollBar()->isVisible());
        EXPECT_FALSE(table->verticalScrollBar()->isVisible());
        const QHeaderView* columns = table->horizontalHeader();
        EXPECT_EQ(columns->length(), table->viewport()->width());
        EXPECT_GE(table->viewport()->height(), table->verticalHeader()->length());
        const QAbstractItemView* view = table; // where the width a column needs is public
        for (int column = 0; column < table->columnCount(); ++column)
            EXPECT_GE(columns->sectionSize(column), view->sizeHintForColumn(column)) << column;
    });
    tembira::desktop::showRecordsWindow(
        nullptr, form, [&]() -> const records::Records& { return records; }, [] {});
    EXPECT_TRUE(looked);
}

} // namespace
