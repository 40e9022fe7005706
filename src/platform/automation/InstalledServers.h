#pragma once

// Registers the automation servers that come with the program, as an installation enters
// them in the system registry. Called once, on the registry's first use.
void RegisterInstalledServers();
