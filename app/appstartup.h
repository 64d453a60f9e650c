#pragma once

// The start-up sequence, from the single-instance guard to the event loop.
class AppStartup final
{
public:
    static int run(int argc, char** argv);
};
