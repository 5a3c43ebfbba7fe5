// English.ini, the language file that holds every text the program looks up with its built-in
// English, made from the program's catalogue so the two can never disagree.
#pragma once

#include <string>

// The file's bytes: Windows-1252, CRLF line ends, the section the program reads, a comment line
// per group of texts naming the window they appear in. False, with the reason in `error`, when a
// built-in text could not be read back unchanged from such a file.
bool MakeEnglishIni(std::string* bytes, std::string* error);
