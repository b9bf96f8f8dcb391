// The base of the parsers: one Execute that answers whether the whole input was understood.
#pragma once

class TParser {
public:
    virtual ~TParser() = default;
    virtual bool Execute() = 0;
};
