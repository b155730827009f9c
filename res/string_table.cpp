#include "res/string_table.h"

#include "res/resource.h"

namespace quorvel {

std::string_view LoadResourceString(int id) {
    switch (id) {
        case IDS_ABOUTBOX:
            return "&About Quorvel...";
        default:
            return {};
    }
}

}  // namespace quorvel
