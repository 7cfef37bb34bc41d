// The document's entry commands: new entry and delete entry.

#include "LexariumDoc.h"

void CLexariumDoc::OnNewEntry() {}

void CLexariumDoc::OnDeleteEntry() {}
