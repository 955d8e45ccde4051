#include "platform/FileAttributes.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include <acl/libacl.h>
#include <sys/acl.h>
#include <sys/stat.h>
#include <sys/xattr.h>

namespace ORBAX_Platform {
namespace {

bool unsupported(int code) { return code == ENOTSUP || code == EOPNOTSUPP || code == ENOSYS; }

// Fills `out` through the system's two-step query `get` (the size first, with no buffer, then the
// bytes), asking again where what it answers grew in between; false with errno set.
template <class Get>
bool read_sized(std::vector<char>& out, Get get)
{
    for (;;) {
        const ssize_t size = get(nullptr, 0);
        if (size <= 0) {
            out.clear();
            return size == 0;
        }
        out.resize(static_cast<std::size_t>(size));
        const ssize_t got = get(out.data(), out.size());
        if (got >= 0) {
            out.resize(static_cast<std::size_t>(got));
            return true;
        }
        if (errno != ERANGE)
            return false;
    }
}

// The name under which the kernel leads to the open file `fd` itself, for the calls that refuse a
// descriptor opened only as a path.
std::string descriptor_name(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

// The names of `old`'s extended attributes, each ended by a zero byte; false with errno set.
bool attribute_names(int old, std::vector<char>& names)
{
    return read_sized(names, [&](char* buffer, std::size_t size) {
        const ssize_t got = ::flistxattr(old, buffer, size);
        return got < 0 && errno == EBADF ? ::listxattr(descriptor_name(old).c_str(), buffer, size) : got;
    });
}

// The value of one attribute; false with errno set.
bool attribute_value(int old, const char* name, std::vector<char>& value)
{
    return read_sized(value, [&](char* buffer, std::size_t size) {
        const ssize_t got = ::fgetxattr(old, name, buffer, size);
        return got < 0 && errno == EBADF ? ::getxattr(descriptor_name(old).c_str(), name, buffer, size) : got;
    });
}

// Takes every permission of the owning group's entry away.
int clear_group_entry(acl_t acl)
{
    acl_entry_t entry;
    for (int which = ACL_FIRST_ENTRY; acl_get_entry(acl, which, &entry) == 1; which = ACL_NEXT_ENTRY) {
        acl_tag_t tag;
        acl_permset_t permissions;
        if (acl_get_tag_type(entry, &tag) != 0)
            return errno;
        if (tag == ACL_GROUP_OBJ && (acl_get_permset(entry, &permissions) != 0 || acl_clear_perms(permissions) != 0 ||
                                     acl_set_permset(entry, permissions) != 0))
            return errno;
    }
    return 0;
}

} // namespace

int copy_extended_attributes(int old, int fd)
{
    std::vector<char> names;
    if (!attribute_names(old, names))
        return unsupported(errno) ? 0 : errno;
    std::vector<char> value;
    for (std::size_t at = 0; at < names.size(); at += std::strlen(names.data() + at) + 1) {
        const char* name = names.data() + at;
        if (std::strncmp(name, "system.", 7) == 0 || std::strncmp(name, "security.", 9) == 0)
            continue;
        if (!attribute_value(old, name, value)) {
            if (errno == ENODATA) // removed meanwhile
                continue;
            return errno;
        }
        if (::fsetxattr(fd, name, value.data(), value.size(), 0) != 0)
            return errno;
    }
    return 0;
}

int copy_access_control(int old, int fd, bool groupKept)
{
    int extended = acl_extended_fd(old);
    const bool pathOnly = extended < 0 && errno == EBADF;
    if (pathOnly)
        extended = acl_extended_file(descriptor_name(old).c_str());
    if (extended < 0)
        return unsupported(errno) ? 0 : errno;
    acl_t acl = nullptr;
    if (extended == 1) {
        acl = pathOnly ? acl_get_file(descriptor_name(old).c_str(), ACL_TYPE_ACCESS) : acl_get_fd(old);
    } else {
        // A list inherited from the folder's default goes: the old file had none.
        if (acl_extended_fd(fd) != 1)
            return 0;
        struct stat now {};
        if (::fstat(fd, &now) != 0)
            return errno;
        acl = acl_from_mode(now.st_mode);
    }
    if (!acl)
        return errno;
    int code = groupKept ? 0 : clear_group_entry(acl);
    if (code == 0 && acl_set_fd(fd, acl) != 0)
        code = errno;
    acl_free(acl);
    return code;
}

} // namespace ORBAX_Platform
