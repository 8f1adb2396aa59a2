// Points a stream at a string buffer for the life of the object, so that
// tests can read exactly what the program wrote to cout or to the log.
#pragma once

#include <ostream>
#include <sstream>
#include <string>

struct StreamCapture {
    explicit StreamCapture(std::ostream& stream) : stream(stream), saved(stream.rdbuf(&buffer)) {}
    ~StreamCapture() {
        stream.rdbuf(saved);
        stream.clear();
    }
    std::string text() const { return buffer.str(); }

    std::stringbuf buffer;
    std::ostream& stream;
    std::streambuf* saved;
};
