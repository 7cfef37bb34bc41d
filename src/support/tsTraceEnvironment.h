#pragma once

// Lets a user attach the trace for diagnosis: the environment variable
// LEXARIUM_TRACE names a file that trace lines are appended to, or "-" for
// standard error. Programs call this once at start-up; nothing is attached
// without the variable.

// True when a sink was attached.
bool tsAttachTraceFromEnvironment();
