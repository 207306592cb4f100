#pragma once

namespace tressal::xml {

// Registers with libxml2, once per process, table-driven decoders for the
// single-byte encodings exports are written in (ISO-8859-1, ISO-8859-15,
// Windows-1252) under each name the program accepts, rather than leaving them
// to iconv (Linux) or to none (Windows): every system accepts and refuses the
// same bytes. They decode; they do not encode.
void RegisterSingleByteDecoders();

} // namespace tressal::xml
