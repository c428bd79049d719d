' The main window: its message box control and the image list of the
' message icons.
Begin Form frmMDI
   Caption = "Quorvelle Administration"
   Begin Kvctl2.msg msg
   End
   Begin KvImgCtl.kvsImg imgMsg
   End
End
