// Counts heap allocations, by standing in for the C library's allocator and
// for C++'s operator new. Linked only into programs built without the
// sanitizers, which bring allocators of their own.
//
// The viewer allocates only with new (Vector3 records, scene nodes) and,
// at start-up, malloc for images; the libraries under it (freeglut, Mesa)
// allocate with malloc and calloc.
#pragma once

// Every allocation in the process (malloc, calloc, realloc, the aligned
// forms; operator new goes through malloc) and every free, so far.
long allocationCount();
long freeCount();
// Calls of operator new and operator delete (with a non-null pointer).
long newCount();
long deleteCount();
