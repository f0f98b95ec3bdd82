#include "WindowSettings.h"

namespace tessaly {

MainWindowSettings ReadMainWindowSettings(const IniFile& ini) {
    MainWindowSettings s;
    s.skined = ini.ReadBool("window", "skined", s.skined);
    s.skinname = ini.ReadString("window", "skinname", s.skinname);
    s.left = int(ini.ReadInteger("winpos", "left", s.left));
    s.top = int(ini.ReadInteger("winpos", "top", s.top));
    s.width = int(ini.ReadInteger("winpos", "width", s.width));
    s.height = int(ini.ReadInteger("winpos", "height", s.height));
    s.hasPosition = ini.HasKey("winpos", "left") && ini.HasKey("winpos", "top") && ini.HasKey("winpos", "width") &&
                    ini.HasKey("winpos", "height");
    s.state = int(ini.ReadInteger("winpos", "state", s.state));
    s.treewid = int(ini.ReadInteger("winpos", "treewid", s.treewid));
    if (s.treewid <= kMinTreeWidth) s.treewid = kMinTreeWidth;
    s.sheng = int(ini.ReadInteger("winpos", "sheng", s.sheng));
    s.shi = int(ini.ReadInteger("winpos", "shi", s.shi));
    s.sheng2 = int(ini.ReadInteger("winpos", "sheng2", s.sheng2));
    s.shi2 = int(ini.ReadInteger("winpos", "shi2", s.shi2));
    s.fname = ini.ReadString("minggao", "fname", s.fname);
    s.fsize = int(ini.ReadInteger("minggao", "fsize", s.fsize));
    s.bcolor = ini.ReadInteger("minggao", "bcolor", s.bcolor);
    return s;
}

void WriteClosingSettings(const MainWindowSettings& s, bool writeGeometry, IniFile& ini) {
    if (writeGeometry) {
        ini.WriteInteger("winpos", "left", s.left);
        ini.WriteInteger("winpos", "top", s.top);
        ini.WriteInteger("winpos", "width", s.width);
        ini.WriteInteger("winpos", "height", s.height);
    }
    ini.WriteInteger("winpos", "treewid", s.treewid);
    ini.WriteInteger("winpos", "state", s.state);
    ini.WriteString("minggao", "fname", s.fname);
    ini.WriteInteger("minggao", "fsize", s.fsize);
    ini.WriteInteger("minggao", "bcolor", s.bcolor);
    ini.WriteInteger("winpos", "sheng", s.sheng);
    ini.WriteInteger("winpos", "shi", s.shi);
    ini.WriteInteger("winpos", "sheng2", s.sheng2);
    ini.WriteInteger("winpos", "shi2", s.shi2);
}

}  // namespace tessaly
