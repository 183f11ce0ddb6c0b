#include "devhost/FormPrinter.h"

#include "devhost/ValueMapping.h"

#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace devhost {

bool renderFormPdf(const QString& path, const QString& title, const QString& condition, const RowSet& rows) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(96);
    writer.setTitle(title);
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const int width = writer.width();
    int y = 40;
    QFont font = painter.font();
    font.setPointSize(14);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, width, y), Qt::AlignLeft | Qt::AlignVCenter, title);
    font.setPointSize(9);
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(QRect(0, y, width, 20), Qt::AlignLeft | Qt::AlignVCenter, condition);
    y += 30;
    const int columns = static_cast<int>(rows.columns.size());
    if (columns > 0) {
        const int cellWidth = width / std::min(columns, 8);
        auto drawRow = [&](auto cellText) {
            if (y > writer.height() - 20) {
                writer.newPage();
                y = 0;
            }
            for (int c = 0; c < std::min(columns, 8); ++c)
                painter.drawText(QRect(c * cellWidth, y, cellWidth - 4, 18), Qt::AlignLeft | Qt::AlignVCenter,
                                 cellText(c));
            y += 18;
        };
        drawRow([&](int c) { return rows.columns[static_cast<std::size_t>(c)]; });
        for (const auto& row : rows.rows)
            drawRow([&](int c) { return displayText(row[static_cast<std::size_t>(c)]); });
    }
    return painter.end();
}

} // namespace devhost
