// The page control as assistive technology sees it: a page tab list whose page tabs are
// named by their captions, the chosen one selected, each holding its page.
#pragma once

// Installs, once, the factory that gives every TPageControl, its tabs and its pages their
// accessible interfaces.
void InstallPageControlAccessible();
