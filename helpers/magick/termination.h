#pragma once

#include <sys/types.h>

// How we end when the application stops a job (SIGTERM, also the death signal it asks for us):
// convert may have started Ghostscript, which no death signal of ours reaches, so we lead a
// process group of our own and end all of it, remove our scratch file, and die of the signal.
namespace Termination {
// Call first: makes us a group leader and installs the handler.
void install();
// The scratch file to remove if we are stopped; only one at a time.
void setScratch(const char* path);
void clearScratch();
// A folder of our own whose files go too (convert's temporary files: it leaves Ghostscript's
// pages behind when stopped); the folder itself is removed.
void setScratchFolder(const char* path);
// Empties and removes the scratch folder; also async-signal-safe.
void removeScratchFolder();
// The convert we wait for, so the group is given a moment to tidy up before it is killed.
void setChild(pid_t child);
} // namespace Termination
