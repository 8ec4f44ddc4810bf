#include "gui/grid/PdfFile.h"

#include "core/file/AtomicFile.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include <string_view>

PdfDocument paintPdf(const QPageLayout& layout, int resolution, const PdfPainting& paint) {
    PdfDocument pdf;
    QBuffer buffer(&pdf.bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(resolution);
        writer.setPageLayout(layout);
        QPainter painter;
        if (!painter.begin(&writer)) {
            pdf.error = QObject::tr("The PDF could not be started.");
        } else {
            pdf.error = paint(writer, painter);
            if (!painter.end() && pdf.error.isEmpty())
                pdf.error = QObject::tr("The PDF could not be finished.");
        }
    }
    if (!pdf.error.isEmpty()) pdf.bytes.clear();
    return pdf;
}

std::string savePdf(const std::string& path, const QByteArray& bytes) {
    const timbra::FileResult saved = timbra::writeFileAtomically(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return saved.ok ? std::string() : saved.error;
}
