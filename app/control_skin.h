#pragma once

// The control skin: an XP-like look for the standard controls of the calling
// thread. 1, 2 or 3 switch it on with that scheme (replacing any before); any
// other number switches it off. It covers the push buttons, edit boxes and
// drop-down lists present now and those the thread creates later, message
// box buttons included, and redraws them at once. Returns 1 when the skin is
// on and watching for new controls, otherwise 0.
int SetControlSkin(int scheme);
