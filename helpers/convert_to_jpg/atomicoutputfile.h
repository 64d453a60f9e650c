#pragma once

#include <cstdio>
#include <string>

// Writes to a temporary file next to the target and renames it onto the target on commit(),
// so the target never holds a partial picture. An uncommitted file is removed on destruction
// and, best effort, when the process is interrupted or terminated.
class AtomicOutputFile final
{
public:
    // Throws ConversionError when the target's folder cannot take a new file.
    explicit AtomicOutputFile(const std::string& targetPath);
    ~AtomicOutputFile();
    AtomicOutputFile(const AtomicOutputFile&) = delete;
    AtomicOutputFile& operator=(const AtomicOutputFile&) = delete;

    std::FILE* stream() const { return m_stream; }
    // Flushes, closes and renames onto the target. Throws ConversionError.
    void commit();

private:
    void discard();

    std::string m_targetPath;
    std::string m_tempPath;
    std::FILE* m_stream = nullptr;
};
