// Slot 0 of every interface that crosses the plug-in boundary.
//
// Hosts and clients are built apart from the plug-in, with the target platform's native C++
// conventions, where a virtual destructor is ONE table entry: a deleting destructor that takes
// `unsigned int flags`, runs the destructor chain of the whole object, frees the object's storage
// when bit 0 is set, and returns the object's address. g++ gives a virtual destructor two entries
// (and mingw-w64 g++ does the same), which would move every later operation one slot down. So no
// interface here declares a virtual destructor: slot 0 is declared as that one entry,
// `deletingDestructor`, every concrete class implements it with `destroyObject`, and the
// destructors themselves are plain (protected in the abstract bases, so nothing deletes through
// an interface pointer).
#ifndef CORVANE_HOST_DELETING_DESTRUCTOR_H
#define CORVANE_HOST_DELETING_DESTRUCTOR_H

#include <new>

namespace corvane {

// Bit 0 of the flags of slot 0: also free the storage.
constexpr unsigned int kFreeStorage = 1;

// The end of slot 0, once the object's destructors have run: its storage is freed when `flags`
// asks for it, and its address returned. Storage freed here must come from the global operator
// new of the module that implements slot 0 for the class. Classes with a protected destructor
// run it themselves and end with this.
inline void* freeStorage(void* object, unsigned int flags) {
    if (flags & kFreeStorage) ::operator delete(object);
    return object;
}

// The body of slot 0 for `Object`, the class that implements it.
template <class Object>
void* destroyObject(Object* object, unsigned int flags) {
    object->~Object();
    return freeStorage(object, flags);
}

}  // namespace corvane

#endif
