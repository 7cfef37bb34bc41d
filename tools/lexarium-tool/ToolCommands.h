#pragma once

// The commands of lexarium-tool, one file each; main.cpp adds them to the
// command line in the order the usage lists them (see CommandLine.h for how
// a command is added). Exit status: 0 done, 1 a file could not be loaded or
// written, a folder not read, or IN is damaged (DamageRefusal.h), 2 wrong
// arguments; check gives 3 when it has findings, import when units were in
// conflict or unknown.

class CommandLine;

void AddInfoCommand(CommandLine& line);
void AddConvertCommand(CommandLine& line);
void AddXmlCommand(CommandLine& line);
void AddTextCommand(CommandLine& line);
void AddCheckCommand(CommandLine& line);
void AddScriptCommand(CommandLine& line);
void AddExportCommand(CommandLine& line);
void AddImportCommand(CommandLine& line);
void AddRecordCommand(CommandLine& line);
void AddLengthsCommand(CommandLine& line);
