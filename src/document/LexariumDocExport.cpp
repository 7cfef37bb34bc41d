// The plain-text export of the document.

#include "LexariumDoc.h"

void CLexariumDoc::OnExport() {}
