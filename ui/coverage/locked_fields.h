#pragma once

// The fields of a camera's form whose values another source gives: the form shows them, but
// read-only (and looking so), as typing there would only be overwritten.
struct LockedFields {
    bool format = false;
    bool aspect = false;
    bool focalLength = false;
    bool distance = false;
};
