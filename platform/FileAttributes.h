#pragma once
// What a file carries beside its permission bits, given to the new file that replaces it: its access
// control list (which may narrow what the bits say: a group entry of none under a mask of read and
// write shows as group read and write in the bits) and its extended attributes.
namespace ORBAX_Platform {

// `old` is a descriptor of the file replaced, opened for reading or, where the user may not read it,
// only as a path (O_PATH); either way nothing is looked up by name that could lead elsewhere.

// Gives the open new file `fd` the extended attributes of `old`, but for those the system keeps
// itself: "system." (the access control list, given by copy_access_control) and "security." (the
// security labels and file capabilities, which the system's policy gives a new file). Call before
// the new file takes the old one's permissions: setting an attribute may need write permission.
// 0, or the error that kept one from being read or set.
int copy_extended_attributes(int old, int fd);

// Gives the open new file `fd` the access control list of `old`; where `old` has none beyond its
// permission bits, removes any the new file inherited from its folder. `groupKept` false (the new file
// could not take the old one's group) takes away what the list gave the owning group, as the bits'
// group part is taken away. Call after the permission bits are set: setting them changes the list's
// mask. 0, or the error that kept the list from being read or set.
int copy_access_control(int old, int fd, bool groupKept);

} // namespace ORBAX_Platform
