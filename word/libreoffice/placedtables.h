#pragma once

// Tables a Word file places on the page (a floating table) but the office keeps in the running
// text, and what is stored of them.

#include "word/libreoffice/docstate.h"

namespace pw::word::lo {

// The office floats a placed table in a frame only where text could run beside it and no
// section break follows it; otherwise it keeps the table in the running text, yet stores the
// placement again. Opened on its own, a part has no such section break, and the table would
// leave the running text: another layout, and text the plain-text export no longer holds.
// Such tables are stored as the office lays them out, in the running text.
void keepPlacedTablesInText(DocState& doc);

}  // namespace pw::word::lo
