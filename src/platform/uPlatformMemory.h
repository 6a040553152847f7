#pragma once

#include <cstddef>

// Large blocks of zero bytes for the hash tables. The kernel supplies each page as a zero page
// the first time it is touched, so a table of many gigabytes costs nothing until it is used and
// never has to be cleared by the program.

// A block of ASize zero bytes aligned to a page, or null when the system refuses it. Huge pages
// are not asked for: each would take two megabytes for the first entry written into it.
void* AllocateZeroedBlock(std::size_t ASize);
void  FreeZeroedBlock(void* ABlock, std::size_t ASize);
// Gives the block's pages back to the system; they read as zero again.
void ZeroBlock(void* ABlock, std::size_t ASize);
