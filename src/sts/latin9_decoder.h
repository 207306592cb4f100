#pragma once

namespace tressal::sts {

// Registers with libxml2, once per process, a table-driven decoder for
// ISO-8859-15 (Latin-9, the usual encoding of STS exports), which libxml2
// would otherwise hand to iconv. It decodes; it does not encode.
void RegisterLatin9Decoder();

} // namespace tressal::sts
