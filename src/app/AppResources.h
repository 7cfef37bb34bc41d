#pragma once

// Registration of the program's resources (strings, command resources, dialog
// templates, pictures) in the framework's resource table. Safe to call more
// than once.

void RegisterLexariumResources();
void RegisterFormTemplates();
void RegisterAudioTestTemplate();
