/* Resource numbers and the add-on's identity, shared by the C++ code and the .grc resources (which the
   resource compiler runs through the C preprocessor): keep this file to plain #defines.
   Name, description and version repeat config.json, because neither the resource compiler nor a check of
   the sources against the kit sees the build's definitions; configuring the build fails when they differ. */
#ifndef CORVANA_RESOURCE_IDS_HPP
#define CORVANA_RESOURCE_IDS_HPP

#define CORVANA_ADDON_NAME              "Corvana"
#define CORVANA_ADDON_DESCRIPTION       "Corvana"
#define CORVANA_ADDON_VERSION           "3.1.0"
#define CORVANA_HOST_VERSION            27

#define ID_ADDON_INFO                   32000
#define ID_ADDON_INFO_NAME              1
#define ID_ADDON_INFO_DESCRIPTION       2

#define ID_MENU_PLUGIN                  32200
#define ID_MENU_OSTREL                  32300
#define ID_MENU_PLUGIN_QA               32400
#define ID_MENU_OSTREL_QA               32500

#define ID_BROWSER_PALETTE              32200
#define ID_CALCULATION_PALETTE          32300
#define ID_BROWSER_PALETTE_QA           32400
#define ID_CALCULATION_PALETTE_QA       32500
#define ID_BULK_IMPORT_SETTINGS_DIALOG  32650
#define ID_BULK_IMPORT_PROGRESS_PALETTE 12600

#define ID_FILE_TYPE_DESCRIPTION        32100

#define ID_ICON_PLUGIN                  10001
#define ID_ICON_OSTREL                  10002

#define ID_ADDON_IDENTITY               32500
#define CORVANA_DEVELOPER_ID            1365595734
#define CORVANA_LOCAL_ID                1129467185

#endif
