<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>conversion</name>
    <message>
        <source>查找图片……请稍等……</source>
        <translation>Looking for pictures… please wait…</translation>
    </message>
    <message>
        <source>就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>图片文件</source>
        <translation>Pictures</translation>
    </message>
    <message>
        <source>请选择图片目录</source>
        <translation>Choose a folder of pictures</translation>
    </message>
    <message>
        <source>无法读取所选图片！</source>
        <translation>The selected picture cannot be read!</translation>
    </message>
    <message>
        <source>请选择图片！</source>
        <translation>Please select a picture!</translation>
    </message>
    <message>
        <source>已添加：%1，%2</source>
        <translation>Added: %1, %2</translation>
    </message>
    <message>
        <source>转换列表中没有图片，请先添加图片！</source>
        <translation>The list holds no pictures: add some first!</translation>
    </message>
    <message>
        <source>抱歉！转换失败。</source>
        <translation>Sorry! The conversion failed.</translation>
    </message>
    <message>
        <source>转换完毕！已保存图标：%1</source>
        <translation>Converted! Icon saved: %1</translation>
    </message>
</context>
<context>
    <name>dialogs</name>
    <message>
        <source>图标文件|*.ico</source>
        <translation>Icon files|*.ico</translation>
    </message>
    <message>
        <source>全部文件|*.*|执行文件(exe)|*.exe|DLL文件|*.dll|CPL文件|*.cpl</source>
        <translation>All files|*.*|Programs (exe)|*.exe|Libraries (dll)|*.dll|Control panel items (cpl)|*.cpl</translation>
    </message>
    <message>
        <source>%1已经存在，是否覆盖？</source>
        <translation>%1 already exists. Replace it?</translation>
    </message>
    <message>
        <source>信息：</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>路径太长（最多 %1 字节），无法使用：</source>
        <translation>The path is too long (at most %1 bytes) and cannot be used:</translation>
    </message>
    <message>
        <source>路径中无法表示的字符太多，无法使用：</source>
        <translation>The path holds more characters than Pictolan can name and cannot be used:</translation>
    </message>
</context>
<context>
    <name>errors</name>
    <message>
        <source>“欲取出数据的类型”参数值无效</source>
        <translation>The type of the data to take out is not valid</translation>
    </message>
    <message>
        <source>无法找到指定DLL库文件中的输出命令“#%1”</source>
        <translation>The library has no exported function “#%1”</translation>
    </message>
    <message>
        <source>无法找到指定DLL库文件中的输出命令“%1”</source>
        <translation>The library has no exported function “%1”</translation>
    </message>
    <message>
        <source>无法找到指定DLL库文件“%1”中的输出命令“%2”</source>
        <translation>The library “%1” has no exported function “%2”</translation>
    </message>
    <message>
        <source>运行时出错!<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Run-time error!<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>错误代码：%1<byte value="xd"/>
<byte value="xd"/>
</source>
        <translation>Error code: %1<byte value="xd"/>
<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>错误信息：%1<byte value="xd"/>
</source>
        <translation>Error: %1<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>数组成员引用下标超出定义范围</source>
        <translation>An array subscript is out of range</translation>
    </message>
    <message>
        <source>未得到所需要的数值型数据</source>
        <translation>A number was expected</translation>
    </message>
    <message>
        <source>引用数组成员时维数不为1且不等于该数组目前所具有的维数</source>
        <translation>An array element was referred to with the wrong number of dimensions</translation>
    </message>
    <message>
        <source>数组成员引用下标必须大于等于1</source>
        <translation>An array subscript must be 1 or more</translation>
    </message>
    <message>
        <source>数据或数组类型不匹配</source>
        <translation>The data or array types do not match</translation>
    </message>
    <message>
        <source>调用DLL命令后发现堆栈错误</source>
        <translation>The stack was damaged by a call of an external function</translation>
    </message>
    <message>
        <source>子语句参数未返回数据或者返回了非系统基本类型或数组型数据</source>
        <translation>A parameter&apos;s expression gave no data, or data of the wrong kind</translation>
    </message>
    <message>
        <source>被比较数据只能使用等于或不等于命令比较</source>
        <translation>These data can only be compared for equality</translation>
    </message>
    <message>
        <source>“多项选择”命令的索引值参数小于零或超出了所提供参数表范围</source>
        <translation>The index of a choice is below zero or past the choices given</translation>
    </message>
    <message>
        <source>“重定义数组”命令的数组维定义参数值必须大于零或单维时大于等于零</source>
        <translation>An array&apos;s dimensions must be above zero (zero or more for one dimension)</translation>
    </message>
    <message>
        <source>所提供参数的数据类型不符合要求</source>
        <translation>A parameter has the wrong type</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>分配 %1 字节内存失败!</source>
        <translation>Allocating %1 bytes of memory failed!</translation>
    </message>
    <message>
        <source>载入启动窗口失败</source>
        <translation>The start window could not be loaded</translation>
    </message>
    <message>
        <source>未载入欲访问窗口组件所在的窗口</source>
        <translation>The window of the unit asked for is not loaded</translation>
    </message>
    <message>
        <source>窗口数据无效：%1</source>
        <translation>The window&apos;s data is not valid: %1</translation>
    </message>
    <message>
        <source>指定窗口或窗口组件不存在或尚未载入</source>
        <translation>The window or unit does not exist or is not loaded</translation>
    </message>
    <message>
        <source>指定窗口尚未载入</source>
        <translation>The window is not loaded</translation>
    </message>
    <message>
        <source>未找到引发事件的窗口</source>
        <translation>The window that raised the event was not found</translation>
    </message>
    <message>
        <source>未找到引发事件的窗口组件</source>
        <translation>The unit that raised the event was not found</translation>
    </message>
    <message>
        <source>引发事件的窗口组件无效</source>
        <translation>The unit that raised the event is not valid</translation>
    </message>
</context>
<context>
    <name>extraction</name>
    <message>
        <source>就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>‘%1’有%2个图标。</source>
        <translation>Icons in ‘%1’: %2</translation>
    </message>
    <message>
        <source>‘%1’中没有图标！可提取其关联文件图标。</source>
        <translation>‘%1’ holds no icons! Its desktop icon can be extracted.</translation>
    </message>
    <message>
        <source>提取图标失败！</source>
        <translation>Extracting the icon failed!</translation>
    </message>
    <message>
        <source>提取图标成功！</source>
        <translation>Icon extracted!</translation>
    </message>
    <message>
        <source>提取图标成功！是否打开文件所在目录?</source>
        <translation>Icon extracted! Open its folder?</translation>
    </message>
    <message>
        <source>所选文件夹没有可用的路径，请另选一个文件夹！</source>
        <translation>The chosen folder has no path that can be used. Please choose another one!</translation>
    </message>
    <message>
        <source>%1%2个图标都未能保存。</source>
        <translation>%1 None of the %2 icons could be saved.</translation>
    </message>
    <message>
        <source>提取完毕！</source>
        <translation>Extraction finished!</translation>
    </message>
    <message>
        <source>提取完毕！%1个图标中有%2个未能保存。</source>
        <translation>Extraction finished! %2 of %1 icons could not be saved.</translation>
    </message>
    <message>
        <source>提取完毕！共保存%1个文件。</source>
        <translation>Extraction finished! Files saved: %1</translation>
    </message>
    <message>
        <source>%1是否打开文件夹查看文件？</source>
        <translation>%1 Open the folder to see the files?</translation>
    </message>
    <message>
        <source>选择保存图标的位置</source>
        <translation>Choose where to save the icons</translation>
    </message>
    <message>
        <source>%1个文件未能写入。</source>
        <translation>Files that could not be written: %1.</translation>
    </message>
    <message>
        <source>图标中没有可分割的图像。</source>
        <translation>The icon has no images to split.</translation>
    </message>
    <message>
        <source>图标中的图像合计超过%1。</source>
        <translation>The icon&apos;s images add up to more than %1.</translation>
    </message>
    <message>
        <source>分割图标失败！%1</source>
        <translation>Splitting the icon failed! %1</translation>
    </message>
    <message>
        <source>跳过了%1个无法识别的图像。</source>
        <translation>Images skipped as unrecognised: %1.</translation>
    </message>
    <message>
        <source>32位图像合计超过%1，未创建新图标。</source>
        <translation>The 32-bit images add up to more than %1: no new icon was made.</translation>
    </message>
    <message>
        <source>分割完毕！并重新创建了一个新的图标。%1</source>
        <translation>Icon split! A new 32-bit icon was made too. %1</translation>
    </message>
    <message>
        <source>分割完毕！%1</source>
        <translation>Icon split! %1</translation>
    </message>
    <message>
        <source>%1是否查看？</source>
        <translation>%1 Open the folder?</translation>
    </message>
    <message>
        <source>重新创建图标完毕。</source>
        <translation>Rebuilding done.</translation>
    </message>
    <message>
        <source>重新创建图标完毕。是否查看？</source>
        <translation>Rebuilding done. Open the folder?</translation>
    </message>
    <message>
        <source>重新创建图标失败！</source>
        <translation>Rebuilding the icon failed!</translation>
    </message>
    <message>
        <source>图标中没有可保留的图像，未写入文件。</source>
        <translation>The icon has no image to keep: nothing was written.</translation>
    </message>
    <message>
        <source>选择保存有图标的文件夹</source>
        <translation>Choose the folder that holds the icons</translation>
    </message>
    <message>
        <source>选择保存新图标的文件夹</source>
        <translation>Choose the folder for the new icons</translation>
    </message>
    <message>
        <source>重新创建图标失败！%1个图标中有%2个未能写入。</source>
        <translation>Rebuilding failed! %2 of %1 icons could not be written.</translation>
    </message>
    <message>
        <source>重新创建图标完毕，但%1个图标中有%2个未能写入。</source>
        <translation>Rebuilding done, but %2 of %1 icons could not be written.</translation>
    </message>
    <message>
        <source>重新创建图标完毕。共写入%1个图标。</source>
        <translation>Rebuilding done. Icons written: %1</translation>
    </message>
    <message>
        <source>全部提取失败！这些图标共需写入 %1 MB，超过了一次提取最多写入 %2 MB 的限制。</source>
        <translation>Extract all failed! These icons would take %1 MB, more than the %2 MB one extraction may write.</translation>
    </message>
    <message>
        <source>%1序号：%2</source>
        <translation>%1 Number: %2</translation>
    </message>
    <message>
        <source>保存JPG图片成功！</source>
        <translation>JPG picture saved!</translation>
    </message>
    <message>
        <source>保存JPG图片失败！</source>
        <translation>Saving the JPG picture failed!</translation>
    </message>
    <message>
        <source>保存GIF图片成功！</source>
        <translation>GIF picture saved!</translation>
    </message>
    <message>
        <source>保存GIF图片失败！</source>
        <translation>Saving the GIF picture failed!</translation>
    </message>
    <message>
        <source>保存TIFF图片成功！</source>
        <translation>TIFF picture saved!</translation>
    </message>
    <message>
        <source>保存TIFF图片失败！</source>
        <translation>Saving the TIFF picture failed!</translation>
    </message>
    <message>
        <source>保存PNG图片成功！</source>
        <translation>PNG picture saved!</translation>
    </message>
    <message>
        <source>保存PNG图片失败！</source>
        <translation>Saving the PNG picture failed!</translation>
    </message>
    <message>
        <source>保存BMP图片成功！</source>
        <translation>BMP picture saved!</translation>
    </message>
    <message>
        <source>保存BMP图片失败！</source>
        <translation>Saving the BMP picture failed!</translation>
    </message>
    <message>
        <source>%1  根据句柄创建.</source>
        <translation>%1  Made from the icon handle.</translation>
    </message>
</context>
<context>
    <name>form</name>
    <message>
        <source>Pictolan</source>
        <translation>Pictolan</translation>
    </message>
    <message>
        <source>访问 Pictolan 主页</source>
        <translation>Visit Pictolan&apos;s home page</translation>
    </message>
    <message>
        <source>本软件可以将PNG图片转成ICO格式 也可以将软件EXE图表完整提取出来生成任何图片格式！</source>
        <translation>Turn pictures into icons, and take the icons of programs out into any picture format!</translation>
    </message>
    <message>
        <source>图标转换</source>
        <translation>Make icons</translation>
    </message>
    <message>
        <source>提取图标</source>
        <translation>Extract icons</translation>
    </message>
    <message>
        <source>建议使用与图标尺寸相同的PNG图片转换。<byte value="xd"/>
图标中的PNG图片只能在Vista系统中浏览（Win7也不能浏览）。</source>
        <translation>Pictures of the icon&apos;s size convert best.<byte value="xd"/>
Old icon editors cannot open PNG images.</translation>
    </message>
    <message>
        <source>..</source>
        <translation>..</translation>
    </message>
    <message>
        <source>查看</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>转换后打开目录</source>
        <translation>Open folder</translation>
    </message>
    <message>
        <source>←</source>
        <translation>←</translation>
    </message>
    <message>
        <source>转换</source>
        <translation>Convert</translation>
    </message>
    <message>
        <source>《删除</source>
        <translation>« Del</translation>
    </message>
    <message>
        <source>添加》</source>
        <translation>Add »</translation>
    </message>
    <message>
        <source>128*128</source>
        <translation>128*128</translation>
    </message>
    <message>
        <source>96*96</source>
        <translation>96*96</translation>
    </message>
    <message>
        <source>64*64</source>
        <translation>64*64</translation>
    </message>
    <message>
        <source>48*48</source>
        <translation>48*48</translation>
    </message>
    <message>
        <source>32*32</source>
        <translation>32*32</translation>
    </message>
    <message>
        <source>24*24</source>
        <translation>24*24</translation>
    </message>
    <message>
        <source>16*16</source>
        <translation>16*16</translation>
    </message>
    <message>
        <source>PNG</source>
        <translation>PNG</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>浏览</source>
        <translation>Pick</translation>
    </message>
    <message>
        <source>保存路径</source>
        <translation>Save in</translation>
    </message>
    <message>
        <source>分割图标:将图标分割成单图标,如图标中有32位真彩图标将创建一个新的32位真彩图标.</source>
        <translation>Split: an icon file per image; 32-bit images also make a new 32-bit icon.</translation>
    </message>
    <message>
        <source>重建图标:针对PNG图标,删除图标中的PNG文件,使编辑软件能进行编辑.</source>
        <translation>Rebuild: an icon without its PNG images, for classic icon editors.</translation>
    </message>
    <message>
        <source>批量重建</source>
        <translation>Rebuild folder</translation>
    </message>
    <message>
        <source>重建图标</source>
        <translation>Rebuild icon</translation>
    </message>
    <message>
        <source>分割图标</source>
        <translation>Split icon</translation>
    </message>
    <message>
        <source>位图（BMP）|*.bmp</source>
        <translation>Bitmap (BMP)|*.bmp</translation>
    </message>
    <message>
        <source>JPG图像|*.jpg</source>
        <translation>JPG image|*.jpg</translation>
    </message>
    <message>
        <source>GIF图像|*.gif</source>
        <translation>GIF image|*.gif</translation>
    </message>
    <message>
        <source>TIFF图像|*.tiff</source>
        <translation>TIFF image|*.tiff</translation>
    </message>
    <message>
        <source>PNG图像|*.png</source>
        <translation>PNG image|*.png</translation>
    </message>
    <message>
        <source>图标（ICO）|*.ico</source>
        <translation>Icon (ICO)|*.ico</translation>
    </message>
    <message>
        <source>如果文件中存在图标资源程序则自动创建一个文件夹,全部提取判断是否有相同文件夹,单个提取不进行判断.如果提取失败将从图标句柄中创建一个单图标.</source>
        <translation>Extract all makes a new folder each time; one icon goes into the folder given. An icon that cannot be copied is made from its handle.</translation>
    </message>
    <message>
        <source>保存格式</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>位图(BMP)</source>
        <translation>Bitmap (BMP)</translation>
    </message>
    <message>
        <source>JPG图像</source>
        <translation>JPG image</translation>
    </message>
    <message>
        <source>GIF图像</source>
        <translation>GIF image</translation>
    </message>
    <message>
        <source>TIFF图像</source>
        <translation>TIFF image</translation>
    </message>
    <message>
        <source>PNG图像</source>
        <translation>PNG image</translation>
    </message>
    <message>
        <source>图标(ICO)</source>
        <translation>Icon (ICO)</translation>
    </message>
    <message>
        <source>位图(透明)</source>
        <translation>Clear bitmap</translation>
    </message>
    <message>
        <source>序号:</source>
        <translation>No.:</translation>
    </message>
    <message>
        <source>文件前缀</source>
        <translation>Prefix</translation>
    </message>
    <message>
        <source>提取</source>
        <translation>Extract</translation>
    </message>
    <message>
        <source>全部提取</source>
        <translation>Extract all</translation>
    </message>
    <message>
        <source>提取文件夹图标</source>
        <translation>Folder icon</translation>
    </message>
    <message>
        <source>提取文件图标</source>
        <translation>Open file</translation>
    </message>
</context>
<context>
    <name>shell</name>
    <message>
        <source>“%1”不存在！</source>
        <translation>“%1” does not exist!</translation>
    </message>
    <message>
        <source>“%1”不是文件或文件夹！</source>
        <translation>“%1” is neither a file nor a folder!</translation>
    </message>
    <message>
        <source>无法打开“%1”：没有可以打开它的程序！</source>
        <translation>Cannot open “%1”: no application can open it!</translation>
    </message>
    <message>
        <source>无法在文件管理器中显示“%1”：文件管理器没有响应！</source>
        <translation>Cannot show “%1” in the file manager: it does not answer!</translation>
    </message>
</context>
</TS>
