/* Resource identifiers shared by the resource script (risorse.rc.in) and the
   C++ code. Plain C macros: rc and windres read this file too. */
#ifndef SCENARIO_RISORSE_H
#define SCENARIO_RISORSE_H

/* The program's icon (RT_GROUP_ICON); the lowest identifier, so it is the one
   Explorer shows for the .exe. */
#define RISORSA_ICONA 1

/* The application manifest: CREATEPROCESS_MANIFEST_RESOURCE_ID of RT_MANIFEST. */
#define RISORSA_MANIFEST 1

#endif
