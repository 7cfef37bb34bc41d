#pragma once

// The commands of lexarium-tool. Each returns the program's exit status:
// 0 done, 1 a file could not be loaded or written.

int RunInfo(const char* file);
int RunConvert(const char* input, const char* output);
int RunXml(const char* input, const char* output);
