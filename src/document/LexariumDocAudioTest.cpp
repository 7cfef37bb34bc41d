// The audio test command: the panel itself belongs to the application layer,
// which hands its runner to the document.

#include "LexariumDoc.h"

void (*CLexariumDoc::s_pfnRunAudioTest)() = nullptr;

void CLexariumDoc::OnAudioTest() {
    if (s_pfnRunAudioTest != nullptr)
        s_pfnRunAudioTest();
}
