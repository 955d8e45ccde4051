#include "platform/FileIdentity.h"

#include <cerrno>
#include <system_error>

#include <sys/stat.h>

#include "platform/PathResolution.h"

namespace ORBAX_Platform {

bool FileIdentity::operator==(const FileIdentity& other) const
{
    if (error != 0 || other.error != 0 || exists != other.exists)
        return false;
    return !exists || (device == other.device && inode == other.inode && size == other.size &&
                       modifiedSeconds == other.modifiedSeconds && modifiedNanoseconds == other.modifiedNanoseconds);
}

FileIdentity file_identity(const std::filesystem::path& name)
{
    if (name.empty())
        return FileIdentity();
    const WalkedPath walked = walk_path(name);
    if (walked.exists)
        return file_identity(walked.info);
    FileIdentity identity;
    // A folder on the way that is not there, or is no folder, leaves no room for the file either.
    if (walked.error != ENOENT && walked.error != ENOTDIR)
        identity.error = walked.error;
    return identity;
}

FileIdentity file_identity(const struct stat& st)
{
    FileIdentity identity;
    identity.exists = true;
    identity.device = static_cast<std::uint64_t>(st.st_dev);
    identity.inode = static_cast<std::uint64_t>(st.st_ino);
    identity.size = static_cast<std::int64_t>(st.st_size);
    identity.modifiedSeconds = static_cast<std::int64_t>(st.st_mtim.tv_sec);
    identity.modifiedNanoseconds = static_cast<std::int64_t>(st.st_mtim.tv_nsec);
    return identity;
}

bool same_file(const std::filesystem::path& a, const std::filesystem::path& b)
{
    if (a.empty() || b.empty())
        return false;
    const FileIdentity first = file_identity(a);
    const FileIdentity second = file_identity(b);
    if (first.exists && second.exists)
        return first.device == second.device && first.inode == second.inode;
    std::error_code error;
    const std::filesystem::path absoluteA = std::filesystem::absolute(a, error).lexically_normal();
    if (error)
        return false;
    const std::filesystem::path absoluteB = std::filesystem::absolute(b, error).lexically_normal();
    return !error && absoluteA == absoluteB;
}

} // namespace ORBAX_Platform
