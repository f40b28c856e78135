#include "assistant/guide/guide_pdf.h"

#include <QAbstractTextDocumentLayout>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextLayout>

namespace lum::guide {
namespace {

constexpr int kResolution = 300;
constexpr double kFooterMm = 10;

double BodyHeight(QPdfWriter& writer)
{
    const QRect page = writer.pageLayout().paintRectPixels(kResolution);
    return page.height() - kFooterMm / 25.4 * kResolution;
}

} // namespace

void SetUpWriter(QPdfWriter& writer, const QString& title)
{
    writer.setResolution(kResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 18, 20, 12),
                                     QPageLayout::Millimeter));
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("LUM"));
}

double TextWidth(QPdfWriter& writer) { return writer.pageLayout().paintRectPixels(kResolution).width(); }

int WritePages(GuideDocument& guide, QPdfWriter& writer)
{
    QTextDocument& doc = guide.Document();
    doc.documentLayout()->setPaintDevice(&writer);
    const double width = TextWidth(writer), height = BodyHeight(writer);
    doc.setPageSize(QSizeF(width, height));

    // Page numbers of the headings, then the contents again with them: the
    // numbers take the place of placeholders of the same height.
    const auto pageOf = [&](int blockNumber) {
        // The first line, not the block: pagination may push lines of a block
        // that began on the page before onto the next one.
        const QTextBlock block = doc.findBlockByNumber(blockNumber);
        const QTextLayout* layout = block.layout();
        double top = doc.documentLayout()->blockBoundingRect(block).top();
        if (layout && layout->lineCount() > 0)
            top = layout->position().y() + layout->lineAt(0).y();
        return int(top / height) + 1;
    };
    std::vector<int> pages;
    for (const Heading& h : guide.Headings())
        pages.push_back(pageOf(h.blockNumber));
    guide.SetTocPages(pages);
    for (BarcodeExample& e : guide.Examples())
        e.page = pageOf(e.blockNumber);

    QPainter painter;
    if (!painter.begin(&writer))
        return 0;
    const int count = doc.pageCount();
    QFont footer(QStringLiteral("DejaVu Sans"));
    footer.setPointSizeF(8);
    for (int page = 0; page < count; ++page) {
        if (page > 0)
            writer.newPage();
        painter.save();
        painter.translate(0, -page * height);
        doc.drawContents(&painter, QRectF(0, page * height, width, height));
        painter.restore();
        if (page > 0) {
            painter.setFont(footer);
            painter.drawText(QRectF(0, height, width, kFooterMm / 25.4 * kResolution), Qt::AlignCenter,
                             QString::number(page + 1));
        }
    }
    painter.end();
    return count;
}

} // namespace lum::guide
