// What a command prints on its standard output, for the tests that ask the model. In WebAssembly
// under Node, where there is no popen, Node's own child processes run it.
#pragma once

#include <string>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>

#include <cstdlib>

// The output, or "" with *failed set.
EM_JS(char*, quarvel_command_output, (const char* command, int* failed), {
    try {
        const out = require('child_process').execSync(UTF8ToString(command), {
            maxBuffer : 1 << 30,
            encoding : 'latin1'
        });
        const text = _malloc(out.length + 1);
        writeAsciiToMemory(out, text, false);
        return text;
    } catch (error) {
        HEAP32[failed >> 2] = 1;
        const text = _malloc(1);
        HEAP8[text] = 0;
        return text;
    }
});

inline std::string CommandOutput(const std::string& command, bool& failed) {
    int status = 0;
    char* text = quarvel_command_output(command.c_str(), &status);
    std::string output = text;
    std::free(text);
    failed = status != 0;
    return output;
}
#else
#include <cstdio>

inline std::string CommandOutput(const std::string& command, bool& failed) {
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    for (char chunk[4096]; std::size_t read = std::fread(chunk, 1, sizeof chunk, pipe);)
        output.append(chunk, read);
    failed = pclose(pipe) != 0;
    return output;
}
#endif
