// Linked into the program only: a shared library may not have a
// .preinit_array, and the entries there run before any library's
// initialiser, which may open a file of its own.
#include "platform/platform.h"

namespace {

void OpenStandardDescriptors(int, char**, char**) { PlatformOpenStandardDescriptors(); }

}  // namespace

__attribute__((section(".preinit_array"),
               used)) void (*const kOpenStandardDescriptors)(int, char**, char**) = OpenStandardDescriptors;
