#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <string>

class QPageLayout;
class QPainter;
class QPdfWriter;

// Every PDF the programs write is painted into memory first and then saved through the one checked,
// atomic file writer: a full disk, a size limit or a refused target never leaves a partial PDF, and
// an older file of that name stays exactly as it was.

// Paints every page on `painter`, which is begun on `writer` (call writer.newPage() between pages).
// Returns why painting stopped (a cancel, a failed page), empty when every page was painted.
using PdfPainting = std::function<QString(QPdfWriter& writer, QPainter& painter)>;

struct PdfDocument {
    QByteArray bytes;
    QString error; // empty when the document is complete
};

// Paints a PDF in memory on pages of `layout` at `resolution` dots per inch.
PdfDocument paintPdf(const QPageLayout& layout, int resolution, const PdfPainting& paint);

// Saves a finished PDF at `path`, a file name in the file system's own bytes (QFile::encodeName).
// Returns a message naming the file and the reason, empty when saved.
std::string savePdf(const std::string& path, const QByteArray& bytes);
