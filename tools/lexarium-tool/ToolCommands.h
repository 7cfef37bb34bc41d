#pragma once

// The commands of lexarium-tool. Each returns the program's exit status:
// 0 done, 1 a file could not be loaded or written (or a folder not read);
// check returns 3 when it has findings.

int RunInfo(const char* file);
int RunConvert(const char* input, const char* output);
int RunXml(const char* input, const char* output);
int RunText(const char* input, const char* output);
// `folder` may be null: no checks of recordings.
int RunCheck(const char* file, const char* folder, bool json);
// `folder` and `speaker` may be null: no recordings looked up, every speaker.
int RunScript(const char* input, const char* output, const char* folder, const char* speaker);
