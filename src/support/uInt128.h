#pragma once

// 128-bit intermediates for products of tick counts, node counts and byte sizes, so that the
// arithmetic never overflows.
__extension__ typedef __int128          TInt128;
__extension__ typedef unsigned __int128 TUInt128;
