#include "desktop/records_window/records_window.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/words.h"

namespace tembira::desktop {

namespace {

template <class T> QString orDash(const std::optional<T>& value) {
    return value ? QString::number(*value) : QString::fromUtf8(noRecordYet);
}

void fill(QTableWidget* table, const Form1& f, const records::Records& records) {
    table->setRowCount(records::kindCount);
    for (int kind = 1; kind <= records::kindCount; ++kind) {
        const records::Entry& e = records[records::Kind(kind - 1)];
        const QString cells[6] = {
            QString::fromStdString(kindName(f, kind)),
            QString::number(e.solved),
            QString::number(e.assisted),
            orDash(e.fewest),
            orDash(e.over),
            e.fastest ? QString::fromStdString(durationText(*e.fastest))
                      : QString::fromUtf8(noRecordYet),
        };
        for (int column = 0; column < 6; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                               : Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(kind - 1, column, item);
        }
    }
    table->resizeColumnsToContents();
    // Cleared records' dashes are narrower than the figures they replace.
    table->setFixedSize(table->horizontalHeader()->length() + 2 * table->frameWidth(),
                        table->verticalHeader()->length() + table->horizontalHeader()->height() +
                            2 * table->frameWidth());
}

} // namespace

void showRecordsWindow(QWidget* parent, const Form1& f,
                       const std::function<const records::Records&()>& records,
                       const std::function<void()>& clear) {
    QDialog window(parent);
    window.setWindowTitle(QString::fromUtf8(recordsTitle));
    auto* layout = new QVBoxLayout(&window);
    auto* table = new QTableWidget(0, 6, &window);
    QStringList headings;
    for (const char* heading : recordsHeadings)
        headings << QString::fromUtf8(heading);
    table->setHorizontalHeaderLabels(headings);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setAccessibleName(QString::fromUtf8(recordsTitle));
    // The table takes the size of its cells (see fill), and the window the
    // table's, so a scroll bar would only take room from them.
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    fill(table, f, records());
    layout->addWidget(table);

    auto* buttons = new QDialogButtonBox(&window);
    QPushButton* clearButton =
        buttons->addButton(QString::fromUtf8(clearRecordsCommand), QDialogButtonBox::ResetRole);
    QPushButton* close =
        buttons->addButton(QString::fromUtf8(closeCommand), QDialogButtonBox::RejectRole);
    close->setDefault(true);
    QObject::connect(close, &QPushButton::clicked, &window, &QDialog::reject);
    QObject::connect(clearButton, &QPushButton::clicked, &window, [&] {
        const auto answer = QMessageBox::question(&window, QString::fromUtf8(recordsTitle),
                                                  QString::fromUtf8(clearRecordsQuestion));
        if (answer != QMessageBox::Yes)
            return;
        clear();
        fill(table, f, records());
    });
    layout->addWidget(buttons);
    window.exec();
}

} // namespace tembira::desktop
