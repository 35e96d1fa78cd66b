#pragma once

// After a window that held a large text or list has gone: hands the memory it freed back to the
// system. The C library otherwise keeps freed blocks for later use, and the program would go on
// holding the peak of its largest list.

void releaseFreedMemory();
