#pragma once

// Trims text in place: leading blanks and tabs are skipped, the trailing run of blanks, tabs
// and line feeds is cut off. Returns the trimmed text, or null when nothing is left.
char* TrimField(char* text);
