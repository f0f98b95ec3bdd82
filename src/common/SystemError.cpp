#include "common/SystemError.h"

#include <cerrno>
#include <cstring>

namespace tessaly {

std::string SystemErrorText(int e) {
    switch (e) {
        case ENOENT: return "文件或文件夹不存在";
        case ENOTDIR: return "路径中有一项不是文件夹";
        case EISDIR: return "这是一个文件夹，不是文件";
        case EACCES:
        case EPERM: return "没有访问权限";
        case EROFS: return "所在磁盘是只读的";
        case ENOSPC: return "磁盘空间已满";
        case EDQUOT: return "磁盘配额已用完";
        case EEXIST: return "文件已经存在";
        case EBUSY: return "文件正被占用";
        case EMFILE:
        case ENFILE: return "打开的文件太多";
        case ENAMETOOLONG: return "文件名太长";
        case EIO: return "读写磁盘出错";
        case EPIPE: return "接收输出的一方已经关闭";
        case 0: return "未知错误";
        default: return "系统错误 " + std::to_string(e) + "（" + std::strerror(e) + "）";
    }
}

std::string SystemErrorText(const std::error_code& ec) {
    if (ec.category() == std::generic_category() || ec.category() == std::system_category()) {
        return SystemErrorText(ec.value());
    }
    return ec.message();
}

}  // namespace tessaly
