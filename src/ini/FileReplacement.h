#pragma once

// What a save or a reset leaves of the file's previous content: "DrvShortName.ini.bak" beside
// "DrvShortName.ini", one generation, replaced by the next save.
constexpr const char* BackupSuffix = ".bak";

// Replaces the file at path (relative or full) with exactly size bytes of data, without any
// translation, as one step: the data goes into a temporary file in the same folder, which then
// takes the file's place, and the file's old content becomes path + BackupSuffix.
// On failure the file keeps its old bytes (a replacement that fails half-way is undone) and no
// temporary file is left, unless the file had to stay missing: then the temporary file is the
// only copy of the data and stays. Fails while another program holds the file open without
// sharing its deletion; a handle of our own (FileOperations::OpenStream) does not stop it.
bool ReplaceFileBytes(const char* path, const void* data, unsigned long size);
