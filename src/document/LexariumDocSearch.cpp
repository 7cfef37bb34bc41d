// The search command of the document.

#include "LexariumDoc.h"

void CLexariumDoc::OnSearch() {}
