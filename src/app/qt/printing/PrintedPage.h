#pragma once
// The one page the editor prints: the active document's composite, placed by placeOnPage and
// stretched smoothly into its place. Printing and the preview paint it the same way.

#include "app/printing/PagePlacement.h"

class QImage;
class QPainter;
class QPrinter;

namespace pict {
class Document;
}

namespace pict::qt {

// The name print queues and PDF viewers show for every job.
inline constexpr const char* kPrintJobName = "Brindlemoss Document";

// The printer's paper and unprintable margin in its device pixels.
PrinterPage printerPage(const QPrinter& printer);

// The document's composite as it is printed (transparent parts show the paper); null
// without a document or its composite.
QImage printedPicture(Document* document);

// Paints the picture on the painter's page (its origin at the printable area's top-left, as a
// painter on a printer has it). False when the page has no room for it.
bool paintPage(QPainter& painter, const QPrinter& printer, const QImage& picture);

// The whole job: starts the document, paints the page and ends it; a page that cannot be
// painted aborts the job instead. Without a picture nothing is started. False when the job
// did not print.
bool runPrintJob(QPrinter& printer, Document* document);

} // namespace pict::qt
