#include "config/StrictJson.h"

#include <functional>
#include <unordered_set>
#include <vector>

namespace veld23 {

namespace {

using Json = nlohmann::ordered_json;
using Event = Json::parse_event_t;

struct Refused {
    std::string message;
};

// Follows the parser through the document: where it is (for the pointer in a message),
// how deep, and which keys the open objects already hold.
class DocumentWatch {
  public:
    explicit DocumentWatch(std::size_t deepestNesting) : deepest_(deepestNesting) {}

    bool operator()(int, Event event, Json& parsed) {
        switch (event) {
        case Event::object_start:
        case Event::array_start:
            BeginValue();
            if (open_.size() >= deepest_) {
                throw Refused{Pointer() + ": nests deeper than any field of a configuration"};
            }
            open_.push_back({event == Event::array_start, 0, {}, {}});
            break;
        case Event::key: {
            Container& object = open_.back();
            object.key = parsed.get<std::string>();
            if (!object.keys.insert(object.key).second) {
                throw Refused{Pointer() + " appears twice"};
            }
            break;
        }
        case Event::value:
            BeginValue();
            break;
        case Event::object_end:
        case Event::array_end:
            open_.pop_back();
            break;
        }
        return true;
    }

  private:
    struct Container {
        bool array;
        std::size_t elements; // arrays: elements begun so far
        std::string key;      // objects: the key being read
        std::unordered_set<std::string> keys;
    };

    void BeginValue() {
        if (!open_.empty() && open_.back().array) {
            ++open_.back().elements;
        }
    }

    std::string Pointer() const {
        std::string pointer;
        for (const Container& c : open_) {
            pointer = c.array ? pointer + "/" + std::to_string(c.elements - 1)
                              : PointerStep(pointer, c.key);
        }
        return pointer;
    }

    std::size_t deepest_;
    std::vector<Container> open_;
};

} // namespace

std::string PointerStep(const std::string& parent, std::string_view key) {
    std::string path = parent + "/";
    for (char c : key) {
        if (c == '~') {
            path += "~0";
        } else if (c == '/') {
            path += "~1";
        } else {
            path += c;
        }
    }
    return path;
}

StrictJsonResult ParseStrictJson(std::string_view text, std::size_t deepestNesting) {
    StrictJsonResult result;
    DocumentWatch watch(deepestNesting);
    try {
        result.document = Json::parse(text, std::ref(watch));
        result.parsed = true;
    } catch (const Refused& refused) {
        result.message = refused.message;
    } catch (const nlohmann::json::exception& e) {
        // The library's own wording after its "[json.exception...]" tag.
        const std::string what = e.what();
        const std::size_t tag = what.find("] ");
        result.message =
            "not valid JSON: " + (tag == std::string::npos ? what : what.substr(tag + 2));
    }
    return result;
}

} // namespace veld23
